// Fixture of the catalog key check: the keys this "code" uses. The catalog
// beside it translates IDS_OK, IDS_PLURAL and IDS_ZLAST; the others are
// missing, empty, fuzzy or only present with a context.
char const* const keys[] = {"IDS_OK", "IDS_PLURAL", "IDS_EMPTY", "IDS_FUZZY",
                            "IDS_CTX", "IDS_MISSING", "IDS_ZLAST"};
