#pragma once

#include <QGroupBox>

class QMimeData;

// The first local file that dragged or copied `data` carries, in the platform's native form;
// empty when it carries none.
QString FirstLocalFile(const QMimeData& data);

// A captioned frame in a colour of its own that takes a copy of drags carrying a local file and
// hands on the first local file of each drop, in the platform's native form. Under a
// high-contrast palette it is drawn in the palette's colours instead.
class DropFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit DropFrame(QWidget* parent);

    void setColour(const QColor& colour) { m_colour = colour; }

signals:
    void dropped(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
};
