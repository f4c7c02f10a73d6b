// Paper type ids (the id of pdmPaperType) that this driver itself tests. The
// data driver decides which paper types exist; these are the ones with
// behaviour of their own: the media type they give, the print-mode table,
// the colour profile column and a block of the registered settings store.
#pragma once

#define PX_PAPER_TYPE_STANDARD 0x500u  // 1280: the default; store block 0
#define PX_PAPER_TYPE_BANNER 0x501u    // 1281: roll print-mode table; store block 1
#define PX_PAPER_TYPE_FILM 0x502u      // 1282
#define PX_PAPER_TYPE_PHOTO 0x564u     // 1380

