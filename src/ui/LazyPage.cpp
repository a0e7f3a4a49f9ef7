#include "ui/LazyPage.h"

TLazyPage::TLazyPage(QWidget* parent) : QWidget(parent) {}

TLazyPage::TLazyPage(std::function<void(QWidget* page)> build, QWidget* parent)
    : QWidget(parent), m_build(std::move(build))
{
}

void TLazyPage::EnsureBuilt()
{
    if (m_built)
        return;
    m_built = true; // a control that asks for its page while being made finds it made
    Build();
    emit Built();
}

void TLazyPage::setVisible(bool visible)
{
    if (visible)
        EnsureBuilt();
    QWidget::setVisible(visible);
}

void TLazyPage::Build()
{
    if (m_build)
        m_build(this);
}
