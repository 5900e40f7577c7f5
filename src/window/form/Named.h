#pragma once

#include <QLatin1StringView>
#include <QString>

#include <utility>

// Creates a control with its name as objectName.
template <typename Widget, typename... Args> Widget *named(const char *name, Args &&...args)
{
    auto *widget = new Widget(std::forward<Args>(args)...);
    widget->setObjectName(QLatin1StringView(name));
    return widget;
}
