#include "app/ui/MailTextPage.h"

#include "model/FieldList.h"
#include "ui/WidgetBuild.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WidgetBuild;

TMailTextPage::TMailTextPage(QWidget* parent) : TLazyPage(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
}

void TMailTextPage::Build()
{
    auto* page = new QVBoxLayout(this);
    page->addWidget(Heading(this, "Panel1", 132, QStringLiteral("Mailtext")));

    auto* grid = new QGridLayout;
    page->addLayout(grid, 1);
    grid->addWidget(Label(this, "lblFeld", 133, QStringLiteral("Platzhalter")), 0, 0);
    m_placeholders = FixedList(this, "cboPlatzhalter", m_names);
    m_placeholders->setMinimumContentsLength(20);
    grid->addWidget(m_placeholders, 0, 1);
    QPushButton* insert = Button(this, "btPlatzhalter", 37, QStringLiteral("Einfügen"));
    grid->addWidget(insert, 0, 2, Qt::AlignLeft);
    QPlainTextEdit* memo = Memo(this, "memoMailtext");
    grid->addWidget(memo, 1, 0, 1, 3);
    // The placeholder goes in at the caret, over any selected text.
    connect(insert, &QPushButton::clicked, this, [this, memo] {
        const QString name = m_placeholders->currentText();
        if (name.isEmpty())
            return;
        memo->insertPlainText(QStringLiteral("{#") + name + QStringLiteral("#}"));
        memo->setFocus();
    });
    // The main window opens the HTML editor with it.
    QPushButton* edit = Ellipsis(this, "sbMailTextEdit");
    grid->addWidget(edit, 1, 3, Qt::AlignTop);
    grid->addWidget(
        Note(this, "Label12", 273,
             QStringLiteral(
                 "Beschreibung: \nHier können Sie einen zusätzlichen Text eingeben, welcher zusätzlich "
                 "in der E-Mail mit den Formulardaten erscheint.  Hier können Sie z.B. zusätzliche "
                 "Informationen für den Ausfüller des Formulares beifügen. Aktivieren Sie dazu "
                 "zusätzlich die Option \"Kopie an Absender\". \nEbenfalls können Sie Platzhalter "
                 "festlegen, beim Absenden des Formulars wird der Wert des Formularfeldes für den "
                 "Platzhalter eingetragen.")),
        2, 0, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
}

void TMailTextPage::SetPlaceholders(const QStringList& names)
{
    m_names = names;
    if (!m_placeholders)
        return; // shown when the page is made
    m_placeholders->clear();
    m_placeholders->addItems(names);
}

QStringList TMailTextPage::PlaceholderNames(const TFieldList& fields)
{
    QStringList names;
    for (const auto& field : fields) {
        if (field->OffersPlaceholder())
            names << field->Name;
    }
    return names;
}
