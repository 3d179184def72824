// placeholder until its module lands
