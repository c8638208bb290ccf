#include "firmware/IDevManager.h"

void IDevManager::SendEnterUpdate (IFWHelper*) {}
