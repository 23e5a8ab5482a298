// Planted: a screen in the receipt filter.
#include "app/core/Dialeto.h"
#include "receipts/frmRecibo2.h"
