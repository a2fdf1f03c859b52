#include "trim.h"
namespace qob { void TrimWorkingSet() {} }
