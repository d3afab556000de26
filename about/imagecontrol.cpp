#include "about/imagecontrol.h"

#include <QMouseEvent>

ImageControl::ImageControl(QWidget *parent)
    : QLabel(parent)
{
    setFrameShape(QFrame::NoFrame);
    setContentsMargins(0, 0, 0, 0);
}

void ImageControl::mousePressEvent(QMouseEvent *event)
{
    // Taken here, so the press never reaches the window beneath.
    event->accept();
}

void ImageControl::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
