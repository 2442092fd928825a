#pragma once
// The "Reach Us" page: the maker's contact details, and "click here." to open the local index
// of its on-line services (default.htm, beside the program).

#include "common/framework/property_page.h"

class CPPage4 : public PropertyPage {
 public:
  CPPage4();
};
