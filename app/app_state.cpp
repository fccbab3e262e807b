#include "app/app_state.h"

std::wstring HeaderDump;
std::wstring CurrentDicomFile;
