#include "myqquickview.h"

myQQuickView::myQQuickView(QWidget *parent)
    : QQuickWidget(parent)
{}
