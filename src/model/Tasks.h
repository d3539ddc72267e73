#pragma once
// PLACEHOLDER: being written; replaced as a whole.
class TTasks {};
class TTask {};
