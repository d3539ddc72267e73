#pragma once
// PLACEHOLDER: being written; replaced as a whole.
class TKavView {};
