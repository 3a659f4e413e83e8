// The one source of the targets that build the tests' precompiled headers.
