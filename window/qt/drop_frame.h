#pragma once

#include <QGroupBox>

class QMimeData;

// The first local file a drag carries, in the platform's native form; empty when it carries none.
QString FirstLocalFile(const QMimeData& data);

// A captioned frame that takes a copy of drags carrying a local file and hands each drop on.
class DropFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit DropFrame(QWidget* parent);

signals:
    void dropped(const QMimeData& data);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
