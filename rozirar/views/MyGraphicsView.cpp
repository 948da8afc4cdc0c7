#include "MyGraphicsView.h"

CMyGraphicsView::CMyGraphicsView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {}

void CMyGraphicsView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    if (scene())
        fitInView(scene()->sceneRect(), Qt::KeepAspectRatio);
}
