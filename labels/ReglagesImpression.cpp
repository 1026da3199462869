#include "ReglagesImpression.h"

int32_t DecalageValide(int32_t decalage)
{
    if (decalage < -ReglagesImpression::DecalageMax || decalage > ReglagesImpression::DecalageMax)
        return 0;
    return decalage;
}
