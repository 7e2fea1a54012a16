/* Added to the default linker script of every gauge file. A gauge file links
   no start-up code, so nothing would run static constructors, C initialisers
   or thread-local set-up: any of them in the module fails the link. */
ASSERT(___DTOR_LIST__ - ___CTOR_LIST__ == 8,
       "gauge module: a static object needs dynamic initialisation, which nothing would run")
ASSERT(___crt_xt_end__ == ___crt_xc_start__,
       "gauge module: .CRT initialisers or terminators, which nothing would run")
ASSERT(___tls_end__ == ___tls_start__,
       "gauge module: thread-local storage, which nothing would set up")
