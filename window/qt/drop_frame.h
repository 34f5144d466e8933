#pragma once

#include <QGroupBox>

class QMimeData;

// The first local file that dragged or copied `data` carries, in the platform's native form;
// empty when it carries none.
QString FirstLocalFile(const QMimeData& data);

// A captioned frame that takes a copy of drags carrying a local file and hands on the first
// local file of each drop, in the platform's native form.
class DropFrame final : public QGroupBox {
    Q_OBJECT

public:
    explicit DropFrame(QWidget* parent);

signals:
    void dropped(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
