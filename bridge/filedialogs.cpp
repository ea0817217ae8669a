#include "filedialogs.h"

FileDialogs::~FileDialogs() = default;
