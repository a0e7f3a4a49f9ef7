#include "app/ui/SettingBinder.h"

#include "base/Crlf.h"
#include "model/FormProject.h"
#include "model/SettingKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>

namespace
{
// Memos hold CR LF line ends; the text view works with LF.
QString ToView(const QString& text)
{
    QString view = text;
    return view.replace(CRLF, QStringLiteral("\n"));
}

QString FromView(const QString& text)
{
    QString value = text;
    return value.replace(QLatin1Char('\n'), CRLF);
}
} // namespace

TSettingBinder::TSettingBinder(QWidget* root, TFormSettings& settings, QObject* parent)
    : QObject(parent), m_root(root), m_settings(settings)
{
    for (const TSettingKey& key : SettingKeys()) {
        auto* control = m_root->findChild<QWidget*>(key.Key());
        if (!control)
            continue;
        m_keys << key.Key();
        Bind(control, key);
    }
}

void TSettingBinder::Attach(QWidget* root)
{
    const QSet<QString> bound(m_keys.cbegin(), m_keys.cend());
    QStringList keys;
    m_showing = true;
    for (const TSettingKey& key : SettingKeys()) {
        const QString name = key.Key();
        if (bound.contains(name)) {
            keys << name;
            continue;
        }
        auto* control = root->findChild<QWidget*>(name);
        if (!control)
            continue;
        keys << name;
        Bind(control, key);
        Show(control, key);
    }
    m_showing = false;
    m_keys = keys; // still in the order of the project file
}

void TSettingBinder::Bind(QWidget* control, const TSettingKey& key)
{
    const auto store = [this, control, &key] {
        if (m_showing)
            return;
        Store(control, key);
        emit SettingEdited(key.Key());
    };
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        connect(edit, &QLineEdit::textChanged, this, store);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        connect(memo, &QPlainTextEdit::textChanged, this, store);
    else if (auto* check = qobject_cast<QCheckBox*>(control))
        connect(check, &QCheckBox::toggled, this, store);
    else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (key.number)
            connect(combo, &QComboBox::currentIndexChanged, this, store);
        else
            connect(combo, &QComboBox::currentTextChanged, this, store);
    } else {
        qWarning("Quorvel: the control %s has a kind that carries no setting", key.key);
    }
}

void TSettingBinder::Show(QWidget* control, const TSettingKey& key)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(*key.text(m_settings));
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        memo->setPlainText(ToView(*key.text(m_settings)));
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        check->setChecked(*key.flag(m_settings));
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (key.number) {
            const int index = *key.number(m_settings);
            combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
        } else if (combo->isEditable()) {
            combo->setCurrentText(*key.text(m_settings));
            // A long value (a font list) shows its beginning, as a line edit does.
            if (combo->lineEdit())
                combo->lineEdit()->setCursorPosition(0);
        } else {
            combo->setCurrentIndex(
                combo->findText(*key.text(m_settings), Qt::MatchFixedString | Qt::MatchCaseSensitive));
        }
    }
}

void TSettingBinder::Store(QWidget* control, const TSettingKey& key)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        *key.text(m_settings) = edit->text();
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        *key.text(m_settings) = FromView(memo->toPlainText());
    } else if (auto* check = qobject_cast<QCheckBox*>(control)) {
        *key.flag(m_settings) = check->isChecked();
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
        // A fixed list without a chosen entry keeps the value it was given.
        if (key.number) {
            if (combo->currentIndex() >= 0)
                *key.number(m_settings) = combo->currentIndex();
        } else if (combo->isEditable() || combo->currentIndex() >= 0) {
            *key.text(m_settings) = combo->currentText();
        }
    }
}

void TSettingBinder::ProjectToControls()
{
    m_showing = true;
    for (const QString& name : m_keys) {
        const TSettingKey* key = FindSettingKey(name);
        if (auto* control = m_root->findChild<QWidget*>(name))
            Show(control, *key);
    }
    m_showing = false;
}
