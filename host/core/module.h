#pragma once

#include <QObject>

namespace Orvane {

// A unit of the shell that a widget package contributes; the shell drives its hooks.
class Module : public QObject {
    Q_OBJECT

public:
    explicit Module(QObject *parent = nullptr);
    ~Module() override;
};

} // namespace Orvane
