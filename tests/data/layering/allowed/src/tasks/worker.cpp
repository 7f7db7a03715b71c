#include "core/plain.h"
#include "engines/page_parser.h"
#include "web/http_session.h"
