select * from MslElectro where Fbad=0 and electro_id=:id
