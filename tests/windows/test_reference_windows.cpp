// placeholder until the reference-window tests land
