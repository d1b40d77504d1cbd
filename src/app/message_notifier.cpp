#include "app/message_notifier.h"

#include <QMessageBox>

void MessageNotifier::warn(const QString& title, const QString& text)
{
    QMessageBox::warning(m_window, title, text);
}

void MessageNotifier::inform(const QString& title, const QString& text)
{
    QMessageBox::information(m_window, title, text);
}

bool MessageNotifier::ask(const QString& title, const QString& text)
{
    return QMessageBox::question(m_window, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}
