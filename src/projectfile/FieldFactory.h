#pragma once

#include "base/Result.h"
#include "base/XmlValues.h"
#include "model/FormField.h"

#include <QDomElement>
#include <memory>

// The class names a "typ" text may name, in the order they are compared.
const QStringList& FieldClassNames();

// A new, empty field of the named class (exact, case-sensitive), or null.
std::unique_ptr<TFormField> CreateField(const QString& className);

// A field made from its element: created by the class named in its "typ"
// child, then read from the element. Fails when the kind is unknown, the
// element does not read or the name cannot be used; the failure names the
// field's name and kind where they are known.
TResult<std::unique_ptr<TFormField>> CreateFieldFromNode(const XmlValues::TElement& node);
// The same from a DOM element.
TResult<std::unique_ptr<TFormField>> CreateFieldFromNode(const QDomElement& node);
