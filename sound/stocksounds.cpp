#include "stocksounds.h"

#include "stocksoundeffect.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QList>

namespace Orvane::Imports {

namespace {

constexpr char context[] = "Orvane::Imports::StockSoundEffect";

struct Stock {
    const char *key;
    const char *category;
    const char *label;
};

// Order is the order of _configs.
constexpr Stock stockTable[] = {
    {"LinkStart", "sfx/link-start", "Link Start"},
    {"ProgramStart", "sfx/program/start",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Program Start")},
    {"ProgramReady", "sfx/program/ready",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Program Ready")},
    {"FeedbackClick", "sfx/feedback/click",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Item Select")},
    {"PopupLauncher", "sfx/popup/launcher",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Launcher Show")},
    {"PopupMessage", "sfx/popup/message",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Message Show")},
    {"PopupMenu", "sfx/popup/menu",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Menu Popup")},
    {"PopupPanel", "sfx/popup/panel",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Panel Popup")},
    {"DismissLauncher", "sfx/dismiss/launcher",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Launcher Hide")},
    {"DismissMessage", "sfx/dismiss/message",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Message Hide")},
    {"NotifyMessage", "sfx/notify/message",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "Message Notify")},
    {"NotifySystem", "sfx/notify/system",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "System Notify")},
    {"NotifyWarning", "sfx/notify/warning",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "System Forbid")},
    {"NotifyAlert", "sfx/notify/alert",
     QT_TRANSLATE_NOOP("Orvane::Imports::StockSoundEffect", "System Alert")},
};

void registerMetaTypes() {
    // The list type brings its conversion to a sequence, which the script engine makes an
    // array of.
    qRegisterMetaType<StockSoundEffect *>();
    qRegisterMetaType<QList<StockSoundEffect *>>();
}

} // namespace

QJSValue stockSounds(QQmlEngine *, QJSEngine *scriptEngine) {
    static const bool registered = (registerMetaTypes(), true);
    Q_UNUSED(registered)

    QList<StockSoundEffect *> effects;
    bool first = true;
    for (const Stock &stock : stockTable) {
        // The first label is a name, the same in every language.
        const QString label = first ? QString::fromLatin1(stock.label)
                                    : QCoreApplication::translate(context, stock.label);
        first = false;
        effects.append(new StockSoundEffect(QString::fromLatin1(stock.key),
                                            QString::fromLatin1(stock.category), label,
                                            scriptEngine));
    }

    QJSValue sfx = scriptEngine->newObject();
    for (StockSoundEffect *effect : qAsConst(effects))
        sfx.setProperty(effect->objectName(), scriptEngine->newQObject(effect));
    sfx.setProperty(QStringLiteral("_configs"), scriptEngine->toScriptValue(effects));
    return sfx;
}

} // namespace Orvane::Imports
