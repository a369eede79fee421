// kunst/banden_kunst.h - the advertising boards for mkassets
// ("stadion_bitmaps.res"): the frames of the two slants (0, 1) and the 16
// advertisers in each slant (2-17, 18-33), lettered with the sponsors' names
// in the installation's fonts. A board is a parallelogram as the diagonal
// camera sees it: 120 pixels along (up-right in slant 0, down-right in
// slant 1) and 26 high with a shear of 13; each picture is BANDE_W x BANDE_H.
#pragma once
#include <vector>

#include "core/res.h"

namespace banden_kunst {

// The two frames, then the 16 advertisers in slant 0 and in slant 1.
std::vector<velmora::ResDateiEintrag> Datei();

}  // namespace banden_kunst
