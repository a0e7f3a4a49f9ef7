#pragma once

#include <QObject>
#include <QStringList>

class QWidget;
class TFormSettings;
struct TSettingKey;

// Ties every control whose object name is a project setting's key to that
// setting: an edit by the user is written into the project at once, and
// ProjectToControls shows the project's values after a load. Which value a
// control carries follows from its kind: edit boxes, multi-line texts and
// editable lists the text, fixed lists their entry's text or its position,
// check boxes the flag.
class TSettingBinder : public QObject
{
    Q_OBJECT
public:
    TSettingBinder(QWidget* root, TFormSettings& settings, QObject* parent = nullptr);

    void ProjectToControls();
    // Binds the controls below root that are new (a page made later) and
    // shows the project's values in them.
    void Attach(QWidget* root);
    // The keys that found a control, in the order of the project file.
    const QStringList& BoundKeys() const { return m_keys; }

signals:
    // The user changed the setting of this key through its control.
    void SettingEdited(const QString& key);

private:
    void Bind(QWidget* control, const TSettingKey& key);
    void Show(QWidget* control, const TSettingKey& key);
    void Store(QWidget* control, const TSettingKey& key);

    QWidget* m_root;
    TFormSettings& m_settings;
    QStringList m_keys;
    bool m_showing = false;
};
