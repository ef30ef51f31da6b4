#pragma once

#include <QJSValue>

class QJSEngine;
class QQmlEngine;

namespace Orvane::Imports {

// The "SFX" singleton: a plain script object with one stock sound per key and the same
// objects, in table order, in "_configs". Called once per engine.
QJSValue stockSounds(QQmlEngine *engine, QJSEngine *scriptEngine);

} // namespace Orvane::Imports
