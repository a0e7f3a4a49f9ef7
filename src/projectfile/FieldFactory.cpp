#include "projectfile/FieldFactory.h"

#include "base/XmlValues.h"
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

TResult<std::unique_ptr<TFormField>> CreateFieldFromNode(const QDomElement& node)
{
    return CreateFieldFromNode(XmlValues::TElement::FromDom(node, TFormField::ElementLevels));
}

TResult<std::unique_ptr<TFormField>> CreateFieldFromNode(const XmlValues::TElement& node)
{
    const auto typ = XmlValues::ChildText(node, QStringLiteral("typ"));
    if (!typ)
        return XmlValues::MissingChild("typ");
    auto field = CreateField(*typ);
    if (!field)
        return TFailure{QStringLiteral("unknown kind \"") + *typ + QStringLiteral("\""), QString()};
    const TStatus read = field->ReadElement(node);
    // The name is looked up in the element itself: a read that failed may
    // not have reached it.
    const QString name = XmlValues::ChildText(node, QStringLiteral("name")).value_or(QString());
    const QString where = (name.isEmpty() ? QString() : QStringLiteral("\"") + name + QStringLiteral("\" ")) +
                          QStringLiteral("(") + *typ + QStringLiteral(")");
    if (!read)
        return read.Failure().Within(where);
    if (!field->HasValidName())
        return TFailure{TFormField::InvalidNameReason(field->Name), where};
    return field;
}
