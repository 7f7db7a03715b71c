#pragma once

#include <queue>
#include <string>
