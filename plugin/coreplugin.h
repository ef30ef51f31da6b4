#pragma once

#include <QQmlExtensionPlugin>

namespace Orvane::Imports {

// Registers the module Orvane and its private companion Orvane.impl.
class CorePlugin : public QQmlExtensionPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QQmlExtensionInterface/1.0")

public:
    void registerTypes(const char *uri) override;
};

} // namespace Orvane::Imports
