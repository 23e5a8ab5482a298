// Planted: a screen in the receipt filter.
#include "receipts/DialetoSqlite.h"
#include "receipts/frmRecibo2.h"
