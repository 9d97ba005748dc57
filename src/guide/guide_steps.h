// The six steps of the operation guide: which title and text each shows.
#ifndef CUTTER_GUIDE_STEPS_H
#define CUTTER_GUIDE_STEPS_H

#include <cstdint>

constexpr std::int32_t FIRST_GUIDE_STEP = 0;
constexpr std::int32_t LAST_GUIDE_STEP = 5;
constexpr std::int32_t MEDIA_LOADING_STEP = 3;  // reaching it shows how to load the sheet

// String ids of the step's title and text. Step 4 tells how to deal with the registration marks,
// or how to set the origin without them; step 5 says whether "Cut" also searches the marks.
int guide_title_id(std::int32_t step);
int guide_text_id(std::int32_t step, std::int32_t pos_set, std::int32_t tombo_auto_read);

#endif
