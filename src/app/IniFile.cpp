// PLACEHOLDER: being written; replaced as a whole.
