#include "hidbackend.h"

HidBackend::~HidBackend() = default;
