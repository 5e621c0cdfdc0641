namespace lumora_core_placeholder { int unused = 0; }
