#include "module.h"

namespace Orvane {

Module::Module(QObject *parent)
    : QObject(parent) {}

Module::~Module() = default;

} // namespace Orvane
