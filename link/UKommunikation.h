// The controller link in one include: wire protocol, transport and operations.
#pragma once

#include "link/Link.h"
#include "link/Operations.h"
#include "link/Protocol.h"
