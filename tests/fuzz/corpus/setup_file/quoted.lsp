  "a, b" dropped,c
"open to the end