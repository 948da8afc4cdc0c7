#pragma once

#include <QGraphicsView>

// Shows an overview scene whole, at the largest scale that keeps its proportions.
class CMyGraphicsView : public QGraphicsView
{
    Q_OBJECT

public:
    CMyGraphicsView(QGraphicsScene* scene, QWidget* parent);

protected:
    void resizeEvent(QResizeEvent* event) override;
};
