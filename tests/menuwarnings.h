#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects the warnings of the category orvane.core while it lives; other messages pass on.
class MenuWarnings {
public:
    MenuWarnings()
        : m_previous(qInstallMessageHandler(&MenuWarnings::handle)) {
        current() = this;
    }
    ~MenuWarnings() {
        qInstallMessageHandler(m_previous);
        current() = nullptr;
    }
    // The lines caught so far, emptied by the call.
    QStringList take() {
        QStringList lines;
        lines.swap(m_lines);
        return lines;
    }

private:
    static MenuWarnings *&current() {
        static MenuWarnings *instance = nullptr;
        return instance;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text) {
        MenuWarnings *self = current();
        if (self && type == QtWarningMsg && context.category &&
            qstrcmp(context.category, "orvane.core") == 0) {
            self->m_lines.append(text);
            return;
        }
        if (self && self->m_previous)
            self->m_previous(type, context, text);
    }

    QtMessageHandler m_previous;
    QStringList m_lines;
};
