#include "texts/ui/LinkType.h"

#include "base/LanguageTexts.h"
#include "ui/TranslateInterface.h"
#include "ui/WidgetBuild.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>

namespace LinkType
{
QComboBox* TypeList(QWidget* parent)
{
    QComboBox* list =
        WidgetBuild::FixedList(parent, "cboType", {QStringLiteral("Text"), QStringLiteral("Bild")});
    SetLangKey(list, 193);
    return list;
}

void FollowType(QComboBox* list, QLabel* label, const TLanguageTexts& texts)
{
    QObject::connect(list, &QComboBox::currentIndexChanged, label, [list, label, &texts] {
        label->setText(IsPicture(list) ? WindowText(texts, 206, QStringLiteral("Bild-URL:"))
                                       : WindowText(texts, 192, QStringLiteral("Linktext:")));
    });
}

QString WindowText(const TLanguageTexts& texts, int key, const QString& builtIn)
{
    if (!QFileInfo(texts.FileName()).isFile())
        return builtIn;
    return texts.Text(QString::number(key));
}

bool IsPicture(const QComboBox* list)
{
    return list->currentIndex() == 1;
}
} // namespace LinkType
