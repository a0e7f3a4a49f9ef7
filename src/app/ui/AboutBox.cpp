#include "app/ui/AboutBox.h"

#include "app/AppPaths.h"
#include "app/FileVersionInfo.h"
#include "base/LanguageTexts.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace WidgetBuild;

namespace
{
QPixmap Picture(int size)
{
    return QPixmap(AppPaths::DataFile(QStringLiteral("icons/quorvel-%1.png").arg(size)));
}

QLabel* Value(QWidget* parent, const char* name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

// A link that only ever opens what it shows.
QLabel* Link(QWidget* parent, const char* name, const QString& url, const QString& shown)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::RichText);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url.toHtmlEscaped(), shown.toHtmlEscaped()));
    label->setOpenExternalLinks(true);
    return label;
}
} // namespace

QString TAboutBox::Homepage()
{
    return QStringLiteral("https://www.example.org/quorvel/");
}

QString TAboutBox::Mail()
{
    return QStringLiteral("quorvel@example.org");
}

TAboutBox::TAboutBox(const TLanguageTexts& texts, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    SetLangKey(this, 24);
    setWindowTitle(QStringLiteral("Info"));
    const TFileVersionInfo version = TFileVersionInfo::OfProgram();

    auto* grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("ProgramIcon"));
    picture->setPixmap(Picture(128));
    grid->addWidget(picture, 0, 0, 6, 1, Qt::AlignTop);

    QLabel* product = Value(this, "lbProductName", version.ProductName);
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    product->setFont(big);
    grid->addWidget(product, 0, 1, 1, 2);
    grid->addWidget(Label(this, "lblTxtVersion", 400, QStringLiteral("Version:")), 1, 1);
    grid->addWidget(Value(this, "lbVersion", version.DisplayedVersion()), 1, 2);
    grid->addWidget(Value(this, "lbCopyright", version.LegalCopyRight), 2, 1, 1, 2);
    QLabel* comments = Value(this, "lbComments", QString());
    SetLangName(comments, "txtAbout0");
    comments->setWordWrap(true);
    comments->setMinimumWidth(320);
    grid->addWidget(comments, 3, 1, 1, 2);
    grid->addWidget(Label(this, "lblHomepage", 401, QStringLiteral("Homepage: ")), 4, 1);
    grid->addWidget(Link(this, "lbHomepage", Homepage(), Homepage()), 4, 2);
    grid->addWidget(Label(this, "lblMail", 402, QStringLiteral("E-Mail:")), 5, 1);
    grid->addWidget(Link(this, "lbMail", QStringLiteral("mailto:") + Mail(), Mail()), 5, 2);
    grid->setColumnStretch(2, 1);

    QPushButton* ok = Button(this, "OKButton", 155, QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 6, 0, 1, 3, Qt::AlignRight);
    TranslateWindow(this, texts);
}

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    const TFileVersionInfo version = TFileVersionInfo::OfProgram();
    const QSize size(480, 280);
    setFixedSize(size);

    // The picture: the icon and the name on the program's colours.
    QPixmap picture(size);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient back(0, 0, 0, size.height());
        back.setColorAt(0, QColor(0x2b, 0x7f, 0xa3));
        back.setColorAt(1, QColor(0x1b, 0x5a, 0x78));
        painter.fillRect(picture.rect(), back);
        painter.drawPixmap(36, 56, Picture(128));
        QFont name = font();
        name.setPixelSize(56);
        name.setBold(true);
        painter.setFont(name);
        painter.setPen(Qt::white);
        painter.drawText(QRect(190, 70, 270, 70), Qt::AlignLeft | Qt::AlignVCenter, version.ProductName);
        QFont line = font();
        line.setPixelSize(16);
        painter.setFont(line);
        painter.drawText(QRect(192, 140, 270, 40), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                         QStringLiteral("HTML · PHP · E-Mail"));
    }
    auto* back = new QLabel(this);
    back->setObjectName(QStringLiteral("Image1"));
    back->setPixmap(picture);
    back->setGeometry(rect());

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 16, 24, 16);
    column->addStretch(1);
    const QString style = QStringLiteral("color: white; background: transparent;");
    QLabel* shownVersion = Value(this, "lblVersion", QStringLiteral("Version ") + version.DisplayedVersion());
    shownVersion->setStyleSheet(style);
    column->addWidget(shownVersion);
    QLabel* copyright = Value(this, "lblCopyright", version.LegalCopyRight);
    copyright->setStyleSheet(style);
    column->addWidget(copyright);

    auto* timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("Timer1"));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer); // a coarse timer may end it a tenth of a second early
    timer->setInterval(ShownMs);
    connect(timer, &QTimer::timeout, this, &QDialog::accept);
    timer->start();
}
