#include "guide_steps.h"

#include "resources/resource_ids.h"

int guide_title_id(std::int32_t step)
{
    return IDS_GUIDE_TITLE_FIRST + step;
}

int guide_text_id(std::int32_t step, std::int32_t pos_set, std::int32_t tombo_auto_read)
{
    switch (step) {
    case 0: return IDS_GUIDE_MEDIA_TYPE;
    case 1: return IDS_GUIDE_CAP;
    case 2: return IDS_GUIDE_ORIENTATION;
    case 3: return IDS_GUIDE_LOADING;
    case 4: return pos_set != 0 ? IDS_GUIDE_MARKS : IDS_GUIDE_SET_ORIGIN;
    default: return pos_set != 0 && tombo_auto_read != 0 ? IDS_GUIDE_CUT_WITH_SEARCH : IDS_GUIDE_CUT;
    }
}
