#pragma once

#include <QStringList>
#include <QtGlobal>
#include <utility>

// Catches the orvane.core warnings while it lives; other messages pass on.
class MenuWarnings {
public:
    MenuWarnings()
        : m_previous(qInstallMessageHandler(&handle)) {
        s_self = this;
    }
    ~MenuWarnings() {
        qInstallMessageHandler(m_previous);
        s_self = nullptr;
    }
    QStringList take() { return std::exchange(m_lines, {}); }

private:
    static inline MenuWarnings *s_self = nullptr;
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text) {
        MenuWarnings *s = s_self;
        if (s && type == QtWarningMsg && qstrcmp(context.category, "orvane.core") == 0)
            s->m_lines.append(text);
        else if (s && s->m_previous)
            s->m_previous(type, context, text);
    }
    QtMessageHandler m_previous;
    QStringList m_lines;
};
