#pragma once
// PLACEHOLDER: being written; replaced as a whole.
class TContexts {};
class TKavContext {};
