// Placeholder.
#include "association.h"
void RegisterFileAssociation(const std::string&) {}
