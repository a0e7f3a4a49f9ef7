#include "texts/LinkFragments.h"
