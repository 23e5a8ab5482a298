// Planted: a control and a widget in the core.
#include "app/core/Outro.h"
#include "controls/uscTextBox.h"

#include <QString>
#include <QWidget>
