/* A program whose shortcuts window lives in a private library it finds through its run path. */
int main(void) { return 0; }
