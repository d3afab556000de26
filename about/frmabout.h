#pragma once

#include <QWidget>

// The About window: not built yet.
class frmAbout : public QWidget
{
    Q_OBJECT
};
