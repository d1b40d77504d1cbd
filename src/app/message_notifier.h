#pragma once

#include "platform/notifier.h"

class QWidget;

// Shows warnings and notes as message boxes over the main window.
class MessageNotifier final : public Notifier {
public:
    void setParentWindow(QWidget* window) { m_window = window; }
    void warn(const QString& title, const QString& text) override;
    void inform(const QString& title, const QString& text) override;
    bool ask(const QString& title, const QString& text) override;

private:
    QWidget* m_window = nullptr;
};
