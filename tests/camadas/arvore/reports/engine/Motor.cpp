// Planted: a widget, a control, a screen and the preview in the engine.
#include "app/core/Resultado.h"
#include "controls/lvButtons.h"
#include "receipts/FiltroRecibo.h"
#include "registries/frmPessoa.h"
#include "reports/engine/Layout.h"
#include "reports/preview/frmPreviewRelatorio.h"

#include <QPainter>
#include <QtWidgets/QLabel>
