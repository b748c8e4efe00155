#include "app/MainWindow.h"

#include <QLabel>

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(tr("Quorvex-Zentiq SNMP Monitor System"));
    setCentralWidget(new QLabel(tr("Monitoring is not started."), this));
}
