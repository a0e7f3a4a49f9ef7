#include "FieldFactory.h"

#include "fields/CalField.h"
#include "fields/CheckBoxField.h"
#include "fields/CheckBoxList.h"
#include "fields/DropDownField.h"
#include "fields/EinzField.h"
#include "fields/FileField.h"
#include "fields/MehrzField.h"
#include "fields/PassField.h"
#include "fields/RadioField.h"
#include "fields/ZwField.h"
#include "model/XmlValues.h"

const QStringList& FieldClassNames()
{
    static const QStringList names = {
        QStringLiteral("TEinzField"),  QStringLiteral("TPassField"),     QStringLiteral("TMehrzField"),
        QStringLiteral("TZwField"),    QStringLiteral("TCheckBoxField"), QStringLiteral("TDropDownField"),
        QStringLiteral("TRadioField"), QStringLiteral("TFileField"),     QStringLiteral("TCheckBoxList"),
        QStringLiteral("TCalField"),
    };
    return names;
}

std::unique_ptr<TFormField> CreateField(const QString& className)
{
    switch (FieldClassNames().indexOf(className)) {
    case 0: return std::make_unique<TEinzField>();
    case 1: return std::make_unique<TPassField>();
    case 2: return std::make_unique<TMehrzField>();
    case 3: return std::make_unique<TZwField>();
    case 4: return std::make_unique<TCheckBoxField>();
    case 5: return std::make_unique<TDropDownField>();
    case 6: return std::make_unique<TRadioField>();
    case 7: return std::make_unique<TFileField>();
    case 8: return std::make_unique<TCheckBoxList>();
    case 9: return std::make_unique<TCalField>();
    default: return nullptr;
    }
}

std::unique_ptr<TFormField> CreateFieldFromNode(const QDomElement& node)
{
    const auto typ = XmlValues::ChildText(node, QStringLiteral("typ"));
    if (!typ)
        return nullptr;
    auto field = CreateField(*typ);
    if (!field || !field->GetXMLNode(node) || !field->HasValidName())
        return nullptr;
    return field;
}
