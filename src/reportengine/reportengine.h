#pragma once

// Everything the program needs from the report engine.
#include "datasource.h"
#include "formatting.h"
#include "prepared.h"
#include "render.h"
#include "report.h"
