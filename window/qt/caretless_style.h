#pragma once

#include <QProxyStyle>

// The application's style with a text cursor of width 0, so a line edit never shows its caret.
class CaretlessStyle final : public QProxyStyle {
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        return metric == PM_TextCursorWidth ? 0 : QProxyStyle::pixelMetric(metric, option, widget);
    }
};
