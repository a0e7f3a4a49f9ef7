#include "app/ui/frmProjectSettings.h"

#include "base/Crlf.h"
#include "ui/OpenWebAddress.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

// The comment is held with CR LF line ends, as every multi-line text; the
// box shows plain line ends.
namespace
{
QString ToView(QString text)
{
    return text.replace(CRLF, QStringLiteral("\n"));
}

QString FromView(QString text)
{
    return text.replace(QLatin1Char('\n'), CRLF);
}
} // namespace

TfrmProjectSettings::TfrmProjectSettings(const TLanguageTexts& texts, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompter(prompter)
{
    setObjectName(QStringLiteral("frmProjectSettings"));
    SetLangKey(this, 224);
    setWindowTitle(QStringLiteral("Formulareigenschaften"));
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const auto row = [this, grid](int at, const char* label, int key, const QString& text, QWidget* edit) {
        QLabel* l = Label(this, label, key, text);
        l->setBuddy(edit);
        // The comment's label stands at its first line.
        grid->addWidget(l, at, 0, qobject_cast<QPlainTextEdit*>(edit) ? Qt::AlignTop : Qt::AlignVCenter);
        grid->addWidget(edit, at, 1);
    };
    edtTitle = Edit(this, "edtTitle");
    edtAuthor = Edit(this, "edtAuthor");
    edtCompany = Edit(this, "edtCompany");
    edtURL = Edit(this, "edtURL");
    edtURL->setMinimumWidth(edtURL->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 48);
    edtComment = Memo(this, "edtComment");
    edtComment->setTabChangesFocus(true);
    edtComment->setFixedHeight(edtComment->fontMetrics().lineSpacing() * 6 + 12);
    btGOIP = Button(this, "btGOIP", 0, QStringLiteral("Test"));
    row(0, "Label1", 68, QStringLiteral("Titel:"), edtTitle);
    row(1, "Label2", 225, QStringLiteral("Autor:"), edtAuthor);
    row(2, "Label3", 226, QStringLiteral("Firma:"), edtCompany);
    auto* url = new QHBoxLayout;
    url->addWidget(edtURL, 1);
    url->addWidget(btGOIP);
    QLabel* urlLabel = Label(this, "Label4", 190, QStringLiteral("URL:"));
    urlLabel->setBuddy(edtURL);
    grid->addWidget(urlLabel, 3, 0);
    grid->addLayout(url, 3, 1);
    row(4, "Label5", 227, QStringLiteral("Kommentar:"), edtComment);
    grid->setColumnStretch(1, 1);
    column->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btOK = Button(this, "btOK", 155, QStringLiteral("OK"));
    btOK->setDefault(true);
    btCancel = Button(this, "btCancel", 156, QStringLiteral("Abbrechen"));
    buttons->addWidget(btOK);
    buttons->addWidget(btCancel);
    column->addLayout(buttons);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btGOIP, &QPushButton::clicked, this,
            [this] { OpenWebAddress(edtURL->text(), m_texts, m_prompter); });
    TranslateWindow(this, texts);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmProjectSettings::SetValues(const TProjectSettings& values)
{
    edtTitle->setText(values.title);
    edtAuthor->setText(values.author);
    edtCompany->setText(values.company);
    edtURL->setText(values.url);
    edtComment->setPlainText(ToView(values.comment));
    for (QLineEdit* edit : {edtTitle, edtAuthor, edtCompany, edtURL})
        edit->setCursorPosition(0);
}

TProjectSettings TfrmProjectSettings::Values() const
{
    TProjectSettings values;
    values.title = edtTitle->text();
    values.author = edtAuthor->text();
    values.company = edtCompany->text();
    values.url = edtURL->text();
    values.comment = FromView(edtComment->toPlainText());
    return values;
}
