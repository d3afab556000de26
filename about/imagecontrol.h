#pragma once

#include <QLabel>
#include <QString>

// A picture that sizes itself to its image and reports a click. Tag holds the
// web address it stands for.
class ImageControl : public QLabel
{
    Q_OBJECT

public:
    explicit ImageControl(QWidget *parent = nullptr);

    QString Tag;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};
