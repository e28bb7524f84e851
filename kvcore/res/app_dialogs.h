// Dialog templates of the application core (part of kvcore's second resource set).
#pragma once

#include <span>

#include "fw/core/resources.h"

std::span<const fw::DialogTemplate> KvAppDialogs();
