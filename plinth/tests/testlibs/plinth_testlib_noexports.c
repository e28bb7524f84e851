/* A library that exports nothing: everything in it has hidden visibility. */
int not_exported(void) { return 5; }
